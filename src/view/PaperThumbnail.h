#pragma once
// A small picture of a whole paper, for file managers' thumbnails.

#include <string>

class PaperView;

// The size of a paper of `width` x `height` pixels shrunk to fit `size` x
// `size`, keeping its shape; a paper that fits already keeps its size, since
// an enlarged thumbnail shows nothing more. Each side is at least 1.
void ThumbnailSize(int width, int height, int size, int& thumbWidth, int& thumbHeight);

// Draws the whole paper in its own colours, shrunk to fit `size` x `size`
// (each thumbnail pixel the average of the paper pixels it covers), and writes
// it as a PNG to `path`, whole or not at all. False when nothing was written.
bool WritePaperThumbnail(PaperView& view, int size, const std::string& path);
