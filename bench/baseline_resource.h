// Identifiers shared by baseline.rc and baseline.cpp; preprocessor only.
#pragma once

#define IDD_BASELINE 133
