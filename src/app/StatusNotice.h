#pragma once
// How every command reports its outcome: one line in the status strip that
// stays for about five seconds. Usable from any subsystem, headless included.

#include <cstdint>
#include <string>

constexpr int64_t kStatusNoticeSeconds = 5;

// Replaces the current notice; texts longer than 255 bytes are cut.
void ShowStatusNotice(std::string text);
// The notice to show at wall-clock second `now`, or empty when none.
std::string CurrentStatusNotice(int64_t now);
