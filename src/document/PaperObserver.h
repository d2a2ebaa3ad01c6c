#pragma once
// What a document tells those who show it: the window's menus, recent files
// and title follow a paper through these calls instead of the document
// knowing about them.

class Paper;

class PaperObserver {
  public:
    virtual ~PaperObserver() = default;
    // The file name the paper goes by changed (a new paper, a load, a save as).
    virtual void FileNameChanged(Paper& paper) { (void)paper; }
    // The paper was read from or written to its `filePath`.
    virtual void FileStored(Paper& paper) { (void)paper; }
    // The paper's size changed (a resize, or its undo).
    virtual void SizeChanged(Paper& paper) { (void)paper; }
};
