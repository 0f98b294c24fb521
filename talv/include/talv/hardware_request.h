/* The hardware-access library's interface: the request record and its one entry point.
 *
 * A TALV library is a dynamic library with the file name "TALV.dll" on every platform that
 * exports TALVEvaluate with C linkage. Velmira loads it at run time and calls the entry point
 * once per request, passing the record by value. This header is self-contained C (and C++), so
 * a library author needs nothing else from the project. */
#ifndef TALV_HARDWARE_REQUEST_H
#define TALV_HARDWARE_REQUEST_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Callers clean the argument off the stack on 32-bit x86. */
#if defined(_WIN32) && !defined(_WIN64)
#define TALV_CALL __cdecl
#else
#define TALV_CALL
#endif

#if defined(_WIN32)
#define TALV_EXPORT __declspec(dllexport)
#else
#define TALV_EXPORT __attribute__((visibility("default")))
#endif

/* Natural alignment: 20 bytes on 32-bit targets (offsets 0, 4, 8, 12, 16), 40 bytes on
 * 64-bit ones (offsets 0, 8, 16, 24, 32). Bytes after functionCode are padding that the
 * sender leaves unset. */
typedef struct HardwareRequest {
  uint8_t functionCode;
  const void *pInput;
  uint32_t inputLength;
  void *pOutput;
  uint32_t outputLength;
} HardwareRequest;

/* The two requests on the radio status byte. Both start their input with TALV_STATUS_SELECTOR.
 * Read:  input { 0xBB }, output one byte that receives the status.
 * Write: input { 0xBB, new status }, no output. */
enum { TALV_READ_STATUS = 0xB0, TALV_WRITE_STATUS = 0xB1, TALV_STATUS_SELECTOR = 0xBB };

/* The result is the library's own; Velmira ignores it. */
typedef int(TALV_CALL *TALVEvaluateFunction)(HardwareRequest request);

TALV_EXPORT int TALV_CALL TALVEvaluate(HardwareRequest request);

#if UINTPTR_MAX == 0xFFFFFFFFu
#ifdef __cplusplus
#define TALV_STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define TALV_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif
TALV_STATIC_ASSERT(sizeof(HardwareRequest) == 20, "HardwareRequest is 20 bytes");
TALV_STATIC_ASSERT(offsetof(HardwareRequest, pInput) == 4, "pInput at offset 4");
TALV_STATIC_ASSERT(offsetof(HardwareRequest, inputLength) == 8, "inputLength at offset 8");
TALV_STATIC_ASSERT(offsetof(HardwareRequest, pOutput) == 12, "pOutput at offset 12");
TALV_STATIC_ASSERT(offsetof(HardwareRequest, outputLength) == 16, "outputLength at offset 16");
#undef TALV_STATIC_ASSERT
#endif

#ifdef __cplusplus
}
#endif

#endif /* TALV_HARDWARE_REQUEST_H */
