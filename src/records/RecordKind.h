#pragma once

// The kinds of record a user edits one by one: persons, appointments and tasks.
enum class RecordKind { Person, Appointment, Task };
