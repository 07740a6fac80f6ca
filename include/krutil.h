/*
 * krutil.h - the whole interface of the Kestrune utility library.
 */
#ifndef KRUTIL_H
#define KRUTIL_H

#include "krdefs.h"
#include "krapps.h"
#include "krfiles.h"
#include "krnumerics.h"
#include "krprinting.h"
#include "krsettings.h"
#include "krtext.h"

#endif /* KRUTIL_H */
