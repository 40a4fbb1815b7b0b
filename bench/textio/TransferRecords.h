#pragma once

#include "records/PimContents.h"
#include "textio/TextTransferSpec.h"

// Adds `count` records of one kind, numbered and of the same shape each, as the text
// benchmarks export and import them: persons with every field set (quotes, commas, a
// line break in the notes), tasks, and half-hour appointments that never clash.
void addTransferRecords(PimContents& contents, TransferKind kind, int count);
