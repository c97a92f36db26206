// The page's style sheet, inline in its head: screen of any width, and A4 paper.
#ifndef TRAVERSE_REPORT_PAGE_STYLE_H
#define TRAVERSE_REPORT_PAGE_STYLE_H

#include "report/html.h"

namespace traverse {

// <style> and the sheet.
Html StyleElement();

}  // namespace traverse

#endif
