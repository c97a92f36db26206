// The modal message box of the library: every message box text goes to one process-wide handler.
#ifndef TRAVERSE_MESSAGE_BOX_H
#define TRAVERSE_MESSAGE_BOX_H

#include <functional>
#include <string>

#include "traverse/visibility.h"

namespace traverse {

// Receives the GBK text of one message box with an OK button; returns when the user has confirmed.
using MessageBoxHandler = std::function<void(const std::string& gbkText)>;

// Installs handler for the whole process and returns the one it replaces. An empty handler restores
// the default, which writes the text, converted to UTF-8, and a line feed to stderr.
TRAVERSE_API MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Shows gbkText through the installed handler.
TRAVERSE_API void ShowMessageBox(const std::string& gbkText);

}  // namespace traverse

#endif
