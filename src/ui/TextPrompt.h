#pragma once
// The one-line text question ("Enter Size", "Enter Text"): a label, an edit
// field, Cancel and OK.

#include <cstddef>
#include <string>

class DialogHost;

// Longest answer in bytes, cut on a character boundary; callers keep answers
// in 256-byte buffers.
constexpr size_t kPromptTextLimit = 255;
constexpr int kPromptLabelId = 1001;
constexpr int kPromptEditId = 1002;

// Shows the prompt with `initialText` selected in the field. True with the
// answer in `answer` when OK was pressed on a non-empty
// field; false on Cancel, closing, an empty field, or a quit request, with
// `answer` untouched.
bool ShowTextPrompt(DialogHost& host, const std::string& title, const std::string& label,
                    const std::string& initialText, std::string& answer);
