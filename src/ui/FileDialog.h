#pragma once
// The program's file dialogs, drawn with the dialog kit: open (one or many
// files), save (with the overwrite question) and the folder browser. Each
// shows a folder field, the folder's entries (folders first, ".." to go up),
// a name field that also takes typed paths, and the caller's file types.

#include <map>
#include <string>
#include <vector>

class DialogHost;

// File-type name -> wildcard pattern(s), sorted by name.
using FileTypeFilters = std::map<std::string, std::string>;

constexpr int kFileFolderEditId = 1101;
constexpr int kFileUpButtonId = 1102;
constexpr int kFileListId = 1103;
constexpr int kFileNameEditId = 1104;
constexpr int kFileTypeListId = 1105;
constexpr int kFileNoteId = 1106;
constexpr int kFileTypeLabelId = 1107;
constexpr int kNewFolderButtonId = 1108;

// Asks for existing files. On OK `paths` is cleared and refilled with full
// paths (several only with `allowMany`); on Cancel it is left untouched.
// The first filter is chosen at first; an empty folder or title means the
// working folder and "Open".
bool ShowOpenFileDialog(DialogHost& host, std::vector<std::string>& paths,
                        const std::string& initialFolder, const FileTypeFilters& filters,
                        bool allowMany, const std::string& title);

// Asks where to save. `path` suggests the name (and, when its folder exists,
// the folder) and receives the full path on OK. The file type chosen at first
// is the first one whose patterns match the suggested name, else the one
// `type` names, else the first; `type` receives the name of the type chosen
// on OK. A chosen name without any '.' gets the extension of the chosen file
// type; an existing file is only replaced after a Yes.
bool ShowSaveFileDialog(DialogHost& host, std::string& path, const std::string& initialFolder,
                        const FileTypeFilters& filters, const std::string& title,
                        std::string* type = nullptr);

// Asks for a folder: the one selected in the list, else the one shown. The
// result has no trailing '/' (except the root itself). With `types`, a
// "Save as type:" list offers them for what will be saved there, the one
// `type` names (else the first) chosen at first; `type` receives the name of
// the type chosen on OK.
bool BrowseForFolder(DialogHost& host, const std::string& title, const std::string& initialFolder,
                     std::string& folder, const FileTypeFilters& types = {},
                     std::string* type = nullptr);
