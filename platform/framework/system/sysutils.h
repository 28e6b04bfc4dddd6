// The run-time library: the framework's string, its exceptions, money
// and dates, conversions to text and back in the user's locale, and
// Format.
#pragma once
#include "framework/system/conversions.h"
#include "framework/system/currency.h"
#include "framework/system/date_time.h"
#include "framework/system/exceptions.h"
#include "framework/system/format.h"
#include "framework/system/format_settings.h"
#include "framework/system/program_arguments.h"
#include "framework/system/text.h"
#include "framework/system/word_bool.h"
