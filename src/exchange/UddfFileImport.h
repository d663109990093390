#pragma once

#include "exchange/FileImport.h"

// The import of exchange files under the name it had while UDDF was the
// only imported format.
namespace uddffileimport = fileimport;
