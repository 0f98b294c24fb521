/* Compiles the library interface as C, without the rest of the project. */
#include "talv/hardware_request.h"

int TALV_CALL TALVEvaluate(HardwareRequest request) {
  return request.functionCode == TALV_READ_STATUS;
}
