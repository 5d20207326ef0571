#include "records/record_journal_sync.h"

#include <io.h>

bool syncFileToDisk(int fd)
{
    return ::_commit(fd) == 0;
}
