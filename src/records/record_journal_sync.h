#pragma once

// Flushes a file's data to the disk (fdatasync, _commit). One implementation per platform.
bool syncFileToDisk(int fd);
