#pragma once

// Which organizer list last held the focus: Delete, Edit and Complete act on it.
enum class FocusedList { None, Persons, Tasks, Appointments };
