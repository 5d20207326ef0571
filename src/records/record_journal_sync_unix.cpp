#include "records/record_journal_sync.h"

#include <unistd.h>

bool syncFileToDisk(int fd)
{
    return ::fdatasync(fd) == 0;
}
