// Where the names of a record file start with a character XML forbids, found without a parser:
// the first characters of element names (in start and end tags) and of attribute names.
#ifndef TRAVERSE_IMPORT_BAD_NAME_SITES_H
#define TRAVERSE_IMPORT_BAD_NAME_SITES_H

#include <cstddef>
#include <string>
#include <vector>

namespace traverse {

// Byte offsets, in order, of the bad first characters of names in bytes, a record file in
// encoding (an iconv name, empty for UTF-8). Only a digit, '-', '.' or a character beyond ASCII
// that may not start a name counts. Comments, CDATA sections and processing instructions are
// passed over; the search ends at a document type declaration, whose subset it does not read,
// and at a NUL byte, and finds nothing in encodings other than UTF-8 and the GBK family.
std::vector<std::size_t> BadNameSites(const std::string& bytes, const std::string& encoding);

}  // namespace traverse

#endif
