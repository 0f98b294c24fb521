#include "engine/cmd_engine.h"

#include "hardware/hardware_library.h"

namespace {

constexpr std::string_view kSetOption = "/set=";
constexpr std::string_view kGetOption = "/get";
constexpr std::string_view kUsageOption = "/?";
constexpr std::string_view kSkipOption = "/skip";

constexpr std::string_view kUsageText = "\n"
                                        "Velmira.exe\n"
                                        "\t/set=00\n"
                                        "\tDisable Wireless & Bluetooth\n"
                                        "\t/set=01\n"
                                        "\tEnable Bluetooth only\n"
                                        "\t/set=10\n"
                                        "\tEnable Wireless only\n"
                                        "\t/set=11\n"
                                        "\tEnable Wireless & Bluetooth\n"
                                        "\t/get\n"
                                        "\tQuery Wireless & Bluetooth current status\n"
                                        "\t/skip\n"
                                        "\tDon't detect Wireless & Bluetooth hardware device\n";

} // namespace

std::size_t FindOption(std::string_view line, std::string_view option) {
  for (std::size_t i = 0; i < line.size();) {
    if (line.substr(i, option.size()) == option)
      return i;
    i += platform::IsLeadByte(line[i]) && i + 1 < line.size() ? 2 : 1;
  }
  return std::string_view::npos;
}

int VelmiraCmdEngine::Run(std::string_view line) {
  m_bSkipDetect = false;
  if (!LoadHardwareLibrary())
    return kExitFailure;
  if (FindOption(line, kSkipOption) != std::string_view::npos)
    m_bSkipDetect = true;

  int status = kExitSuccess;
  if (std::size_t set = FindOption(line, kSetOption); set != std::string_view::npos) {
    // The two bytes after "/set=": wireless first, then Bluetooth. A line cut short after
    // "/set=" gives NUL, which switches off like any other value but '1'.
    std::string_view rest = line.substr(set + kSetOption.size());
    char wirelessValue = rest.size() > 0 ? rest[0] : '\0';
    char bluetoothValue = rest.size() > 1 ? rest[1] : '\0';
    std::string error;
    if (!ApplyRadioSettings(bluetoothValue, wirelessValue, &error)) {
      platform::WriteErrorLine(error);
      status = kExitFailure;
    }
  } else if (FindOption(line, kGetOption) != std::string_view::npos) {
    ReportStatus();
  } else if (FindOption(line, kUsageOption) != std::string_view::npos) {
    ShowUsage();
  }

  FreeHardwareLibrary();
  return status;
}

void VelmiraCmdEngine::ShowUsage() { platform::WriteStandardOutput(kUsageText); }

bool VelmiraCmdEngine::LoadHardwareLibrary() {
  std::string reason;
  m_hHardwareLib = BindHardwareLibrary(&m_bHardwareLibLoaded, &reason);
  if (m_hHardwareLib == nullptr) {
    platform::ShowErrorBox(kHardwareLoadError, reason);
    return false;
  }
  return true;
}

void VelmiraCmdEngine::FreeHardwareLibrary() {
  // A module adopted from the process was not loaded here, so there is no reference to give
  // back.
  if (m_bHardwareLibLoaded)
    platform::ReleaseModule(m_hHardwareLib);
  m_bHardwareLibLoaded = false;
}
