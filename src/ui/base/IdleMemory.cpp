#include "ui/base/IdleMemory.h"

#include <QFont>

#include <malloc.h>

namespace vornela {

void releaseIdleMemory() {
    // Drops this thread's font cache; fonts and text layouts still alive hold their own references,
    // and a QFont whose engines went with the cache fetches new ones when it next draws.
    QFont::cleanup();
    // glibc keeps freed pages mapped until asked; the font engines alone free over a megabyte.
    malloc_trim(0);
}

} // namespace vornela
