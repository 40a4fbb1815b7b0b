#pragma once

// quillmate-cli makes the records of a whole document at once: hundreds of thousands of
// small blocks of memory, which the system hands over a 4 kB page at a time, each page a
// fault that costs as much as parsing a few hundred bytes. Where the system gives huge
// pages only to memory that asks for them (transparent_hugepage set to "madvise"), this
// has the heap those blocks come from ask: 2 MB per fault. glibc does the same when its
// tunable glibc.malloc.hugetlb is 1, which only the environment of a starting program can
// set. Elsewhere, or when the heap does not grow as expected, it changes nothing.
// Called once, first thing in main(); the heap then serves every thread, and keeps the
// memory it takes until the program ends.
void askForHugePagesForTheHeap();
