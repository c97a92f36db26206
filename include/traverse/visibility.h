// Marks the exported surface of libtraverse; everything else is built with hidden visibility.
#ifndef TRAVERSE_VISIBILITY_H
#define TRAVERSE_VISIBILITY_H

#if defined(_WIN32)
#  if defined(TRAVERSE_BUILDING)
#    define TRAVERSE_API __declspec(dllexport)
#  else
#    define TRAVERSE_API
#  endif
#else
#  define TRAVERSE_API __attribute__((visibility("default")))
#endif

#endif
