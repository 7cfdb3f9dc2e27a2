#include "copy/TreeCopy.h"
