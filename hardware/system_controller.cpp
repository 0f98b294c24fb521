#include "hardware/system_controller.h"

#include "hardware/hardware_library.h"

namespace {

void Evaluate(std::uint8_t functionCode, const void *pInput, std::uint32_t inputLength,
              void *pOutput, std::uint32_t outputLength) {
  // The binding never leaves a null entry point behind a bound library; an unbound
  // controller sends nothing.
  if (g_pfnEvaluate == nullptr)
    return;
  HardwareRequest request;
  request.functionCode = functionCode;
  request.pInput = pInput;
  request.inputLength = inputLength;
  request.pOutput = pOutput;
  request.outputLength = outputLength;
  // The library's result carries nothing the tool acts on.
  (void)g_pfnEvaluate(request);
}

} // namespace

void SystemController::RefreshStatus() {
  m_status = RadioStatus::kUnansweredRead;
  const std::uint8_t input = TALV_STATUS_SELECTOR;
  ReadRequest(&input, sizeof input, &m_status, sizeof m_status);
}

void SystemController::SetWireless(int on) { SetBit(RadioStatus::kWirelessOn, on); }

void SystemController::SetBluetooth(int on) { SetBit(RadioStatus::kBluetoothOn, on); }

void SystemController::SetBit(std::uint8_t mask, int on) {
  RefreshStatus();
  const std::uint8_t status =
      on != 0 ? static_cast<std::uint8_t>(m_status | mask)
              : static_cast<std::uint8_t>(m_status & static_cast<std::uint8_t>(~mask));
  const std::uint8_t input[2] = {TALV_STATUS_SELECTOR, status};
  WriteRequest(input, sizeof input);
}

void SystemController::ReadRequest(const void *pInput, std::uint32_t inputLength, void *pOutput,
                                   std::uint32_t outputLength) {
  Evaluate(TALV_READ_STATUS, pInput, inputLength, pOutput, outputLength);
}

void SystemController::WriteRequest(const void *pInput, std::uint32_t inputLength) {
  Evaluate(TALV_WRITE_STATUS, pInput, inputLength, nullptr, 0);
}
