#pragma once

#include <QLoggingCategory>

// Traces of the station link for diagnosing a real station: the bytes of every frame in
// and out (hex) and supervision's decisions. Off unless turned on, for example with
// QT_LOGGING_RULES="tamsel.link.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcLink)
