#include "platform/SystemRandom.h"

#include <cstdint>
#include <sys/random.h>

bool FillFromSystemRandom(void* buffer, size_t count) {
    auto* next = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        // A signal may cut a large request short; what was delivered is kept and
        // the rest asked for, but an error ends this attempt.
        const ssize_t n = getrandom(next, count, 0);
        if (n <= 0) {
            return false;
        }
        next += n;
        count -= static_cast<size_t>(n);
    }
    return true;
}
