#pragma once
// Recovery files: the unsaved state of open papers, written now and then so
// that a crash or a power cut costs little work.
//
// Each running program keeps its files in a folder of its own inside the
// recovery folder and holds the lock of that folder's "owner.lock" for as long
// as it runs. The system lets go of such a lock when its holder ends, however
// it ends, so files in a folder whose lock nobody holds were left by a program
// that did not exit, and can be offered at the next start.
//
// A recovery file is "TSRC", a version byte, the length (32 bits,
// little-endian) and bytes of the path of the document it belongs to (none for
// an unnamed paper), and then the document exactly as a save writes it.

#include "platform/FileLock.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class RecoveryStore {
  public:
    // Keeps its files in `rootFolder`, which is made when first needed.
    explicit RecoveryStore(std::string rootFolder);
    // Lets go of this program's folder and of the claimed ones. Folders left
    // without recovery files are removed; the files stay for a later start,
    // as they would after a crash.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // Writes one paper's recovery file, whole or not at all. `file` names it,
    // or is empty for a paper that has none yet and then receives the new
    // file's path. `documentPath` is the document the paper belongs to, empty
    // for an unnamed paper. False, with a short reason in `problem`, when it
    // could not be written; the file's older version then stays.
    bool Write(std::string& file, const std::string& documentPath, std::string_view documentBytes,
               std::string& problem);
    // Removes a recovery file of this program's, or a claimed one.
    void Remove(const std::string& file);

    // The recovery files left by programs that no longer run, in a stable
    // order. Their folders are claimed: other programs do not list them until
    // this one lets go. Claimed folders holding no recovery file are removed.
    std::vector<std::string> ClaimLeftFiles();
    // Moves a claimed recovery file into this program's folder and returns its
    // new path; the path as it was when it cannot be moved.
    std::string Adopt(const std::string& file);
    // Lets go of the claimed folders, removing those left without recovery files.
    void ReleaseClaims();

  private:
    struct Claim {
        std::string folder;
        FileLock lock;
    };

    bool MakeOwnFolder(std::string& problem);
    bool IsOwnFile(const std::string& file) const;
    std::string NewOwnFile();

    std::string root_;
    std::string ownFolder_;
    FileLock ownLock_;
    std::vector<Claim> claims_;
    uint32_t nextNumber_ = 1;
};

// Reads a recovery file: the path of the document it belongs to (empty for an
// unnamed paper) and the document's bytes, to be loaded like a document file.
// False when it is no recovery file or is larger than a document may be.
bool ReadRecoveryFile(const std::string& file, std::string& documentPath,
                      std::string& documentBytes);
