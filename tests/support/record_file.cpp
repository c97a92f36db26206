#include "support/record_file.h"

#include "traverse/code_page.h"

namespace traverse {

std::string GbkRecordFile(const std::string& utf8Body) {
    return "<?xml version=\"1.0\" encoding=\"GBK\"?>\r\n" + Utf8ToGbk(utf8Body);
}

std::string Utf8RecordFile(const std::string& utf8Body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n" + utf8Body;
}

}  // namespace traverse
