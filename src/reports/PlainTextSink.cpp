#include "reports/PlainTextSink.h"
