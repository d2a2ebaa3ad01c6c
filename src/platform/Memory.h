#pragma once
// How the process's memory is handed out.

// Makes every large block (a file read whole, a compressed copy, a surface) a
// mapping of its own that goes back to the system when freed. By default the
// allocator starts placing such blocks in its heap once one has been freed,
// and a block freed there below long-lived objects (a loaded document's) stays
// resident for as long as the process runs.
void KeepLargeBlocksMapped();
