#pragma once
// The earlier versions of documents, kept in the backups folder of the user's
// Tessellon documents folder: the last few of each document.
//
// A backup is named after the document, a short hash of the document's folder
// and a running number, "plan.tsln.1a2b3c4d.000007.tsln", so that documents of
// one name in different folders never replace each other's copies, and the
// copies still open as documents.

#include <string>
#include <vector>

constexpr size_t kBackupsKeptPerDocument = 5;

// Copies the file now at `path` into the backups folder as its newest backup
// and removes the oldest beyond the number kept. False, with a short reason
// for the user, when no copy could be made.
bool BackUpDocument(const std::string& path, std::string& reason);

// The backups of the document at `path`, oldest first.
std::vector<std::string> BackupsOf(const std::string& path);
