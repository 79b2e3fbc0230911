#pragma once

#include "platform/File.h"

// The archive's file object.
class CZipFile : public CFile {};
