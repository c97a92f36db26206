// Everything a host needs of libtraverse.
#ifndef TRAVERSE_TRAVERSE_H
#define TRAVERSE_TRAVERSE_H

#include "traverse/adjust.h"
#include "traverse/angle.h"
#include "traverse/check_info.h"
#include "traverse/code_page.h"
#include "traverse/dms.h"
#include "traverse/exceptions.h"
#include "traverse/field_checks.h"
#include "traverse/grade.h"
#include "traverse/html_report.h"
#include "traverse/import_contents.h"
#include "traverse/import_xml.h"
#include "traverse/instrument.h"
#include "traverse/language.h"
#include "traverse/message_box.h"
#include "traverse/point3d.h"
#include "traverse/record_diagnosis.h"
#include "traverse/repair.h"
#include "traverse/result_files.h"
#include "traverse/split_string.h"
#include "traverse/survey_records.h"
#include "traverse/version.h"
#include "traverse/xml_dom.h"

#endif
