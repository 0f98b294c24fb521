// A TALV.dll without TALVEvaluate, for the tests of a library that lacks its entry point.
#include "talv/hardware_request.h"

extern "C" TALV_EXPORT int TALV_CALL TALVEvaluatePlaceholder(HardwareRequest) { return 0; }
