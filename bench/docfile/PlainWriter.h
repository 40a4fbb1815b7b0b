#pragma once

#include <cstdio>

class PimDocument;

// The yardstick for saving: the document file written the plain way, fprintf by
// fprintf into a stdio stream, with the same bytes as the program's save.
void writePlainly(const PimDocument& document, std::FILE* out);
