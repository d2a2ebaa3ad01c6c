#pragma once
// The operating system's cryptographic random generator.

#include <cstddef>

// One attempt to fill the whole buffer; false when the generator failed or
// delivered less than asked for.
bool FillFromSystemRandom(void* buffer, size_t count);
