#pragma once

#include <QLoggingCategory>

// Power requests report refusals and failures here only: the user is never told.
Q_DECLARE_LOGGING_CATEGORY(lcPower)
