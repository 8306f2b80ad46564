#include "dictdata/DictionaryFile.h"
