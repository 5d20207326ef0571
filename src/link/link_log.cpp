#include "link/link_log.h"

// Warnings and above only by default: every trace is a debug message.
Q_LOGGING_CATEGORY(lcLink, "tamsel.link", QtWarningMsg)
