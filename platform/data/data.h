// Everything a program or component uses from data access.
#pragma once
#include "data/connection_string.h"
#include "data/database.h"
#include "data/database_error.h"
#include "data/dataset.h"
#include "data/field.h"
#include "data/query.h"
#include "data/sqlite_file.h"
#include "data/table.h"
#include "data/widgets_table.h"
