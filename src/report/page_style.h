// The page's style sheet, inline in its head: screen of any width, and A4 paper.
#ifndef TRAVERSE_REPORT_PAGE_STYLE_H
#define TRAVERSE_REPORT_PAGE_STYLE_H

namespace traverse {

extern const char kPageStyle[];

}  // namespace traverse

#endif
