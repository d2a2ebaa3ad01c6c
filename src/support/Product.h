#pragma once
// The product name, which names the per-user folders.

constexpr const char* kProductName = "Tessellon";
