#pragma once
// Papers as PNG images, PDF documents or SVG drawings: exporting the active
// paper or every open paper, and printing the active paper through the
// system's print queue. Holding Left Ctrl while choosing one of these commands
// leaves the grid out of the file; the screen keeps it.

#include <cstdint>
#include <string>

class Paper;
class PaperView;
struct MENU_ITEM;

// The export menu items' values.
constexpr uint64_t kExportBlackAndWhite = 0;
constexpr uint64_t kExportColor = 1;

// File > "Export B&W PNG..." / "Export Color PNG...": asks for a file name and
// type (PNG at first) and writes the active paper there in that format.
void ExportActivePaper(uint64_t colorMode, MENU_ITEM* item = nullptr);
// Windows > "Export All B&W PNG..." / "Export All Color PNG...": asks for a
// folder and a file type (PNG unless another is chosen) and writes every open
// paper into it, replacing files of the same name.
void ExportAllPapers(uint64_t colorMode, MENU_ITEM* item = nullptr);
// File > "Print...": prints the active paper in black and white at its true
// size, as a PDF whose page is the paper.
void PrintActivePaper(uint64_t value = 0, MENU_ITEM* item = nullptr);

// True while the modifier that leaves the grid out of exports (Left Ctrl) is held.
bool ExportWithoutGridHeld();

// Writes the paper of `view` to `path` in the format its extension asks for
// (PDF for ".pdf", SVG for ".svg", else PNG), the paper's own colours with
// `ownPalette`, else black on white; vector files embed the drawing font.
// False when nothing was written.
bool WritePaperFile(PaperView& view, bool ownPalette, const std::string& path, bool showGrid);

// Writes the whole paper to `path` as WritePaperFile does, through the paper's
// own view when it is open, without grid when `withoutGrid`; the grid switch
// of the screen is left as it was. False when nothing was written.
bool RenderPaperForExport(Paper& paper, bool ownPalette, bool withoutGrid, const std::string& path);

// The file name the export dialog offers for `paper`: its last export, else
// its document's name with ".png" for the extension, else nothing.
std::string SuggestedExportPath(const Paper& paper);

// Removes the print files that were handed to a viewer; the program calls it
// when it ends.
void RemovePendingPrintFiles();
