// The whole framework core in one include.
#pragma once
#include "archive.h"
#include "collections.h"
#include "crtformat.h"
#include "exceptions.h"
#include "file.h"
#include "memfile.h"
#include "object.h"
#include "qstring.h"
