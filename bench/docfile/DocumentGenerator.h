#pragma once

#include <cstddef>
#include <cstdint>

class PimDocument;

// Fills a document with `count` persons, `count` tasks and `count` appointments of
// realistic sizes: names, addresses and phone numbers of everyday length, notes of one to
// four lines, and text that needs escaping here and there. The same seed gives the same
// document.
void generateDocument(PimDocument& document, size_t count, uint64_t seed = 1);
