#include "traverse/message_box.h"

#include <cstdio>
#include <mutex>
#include <utility>

#include "traverse/code_page.h"

namespace traverse {
namespace {

void WriteToStderr(const std::string& gbkText) {
    const std::string text = GbkToUtf8(gbkText);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

std::mutex& HandlerMutex() {
    static std::mutex mutex;
    return mutex;
}

MessageBoxHandler& InstalledHandler() {
    static MessageBoxHandler handler;
    return handler;
}

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard<std::mutex> lock(HandlerMutex());
    return std::exchange(InstalledHandler(), std::move(handler));
}

void ShowMessageBox(const std::string& gbkText) {
    MessageBoxHandler handler;
    {
        std::lock_guard<std::mutex> lock(HandlerMutex());
        handler = InstalledHandler();
    }
    if (handler) {
        handler(gbkText);
    } else {
        WriteToStderr(gbkText);
    }
}

}  // namespace traverse
