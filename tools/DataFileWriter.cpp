#include "tools/DataFileWriter.h"
