#include "support/message_capture.h"

#include <utility>

namespace traverse {

MessageCapture::MessageCapture()
    : m_previous(
          SetMessageBoxHandler([this](const std::string& text) { m_messages.push_back(text); })) {}

MessageCapture::~MessageCapture() { SetMessageBoxHandler(std::move(m_previous)); }

}  // namespace traverse
