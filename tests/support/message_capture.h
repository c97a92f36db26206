// Collects the message boxes shown while it lives, instead of writing them to stderr.
#ifndef TRAVERSE_TESTS_MESSAGE_CAPTURE_H
#define TRAVERSE_TESTS_MESSAGE_CAPTURE_H

#include <string>
#include <vector>

#include "traverse/message_box.h"

namespace traverse {

class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    // The GBK texts shown so far, in order.
    const std::vector<std::string>& Messages() const { return m_messages; }

private:
    std::vector<std::string> m_messages;
    MessageBoxHandler m_previous;
};

}  // namespace traverse

#endif
