// The radio status byte, read and written through the hardware-access library.
#pragma once

#include <cstdint>

/// The radio status byte. Bits 5 to 7 carry no meaning but travel back unchanged on a write.
namespace RadioStatus {
inline constexpr std::uint8_t kWirelessOn = 0x01;
inline constexpr std::uint8_t kBluetoothOn = 0x02;
inline constexpr std::uint8_t kWirelessPresent = 0x04;
inline constexpr std::uint8_t kBluetoothPresent = 0x08;
inline constexpr std::uint8_t kKillSwitchOn = 0x10; // the switch lets the radios run
/// Stored before every read: a read the library leaves unanswered leaves it behind.
inline constexpr std::uint8_t kUnansweredRead = 0x66;
} // namespace RadioStatus

/// The tool's view of the status byte. The predicates answer from the byte read last and never
/// reach the hardware; each setter reads afresh and writes the byte back with one bit changed.
class SystemController {
public:
  virtual ~SystemController() = default;

  /// One read request; afterwards m_status holds the library's answer, or 0x66.
  void RefreshStatus();

  int IsWirelessOn() const { return Bit(RadioStatus::kWirelessOn); }
  int IsBluetoothOn() const { return Bit(RadioStatus::kBluetoothOn); }
  int IsWirelessPresent() const { return Bit(RadioStatus::kWirelessPresent); }
  int IsBluetoothPresent() const { return Bit(RadioStatus::kBluetoothPresent); }
  int IsKillSwitchOn() const { return Bit(RadioStatus::kKillSwitchOn); }

  /// One read, then one write with the wireless bit set (`on` other than 0) or cleared. The
  /// write goes out even when the bit already has that value; m_status keeps the byte read.
  void SetWireless(int on);
  /// As SetWireless, for the Bluetooth bit.
  void SetBluetooth(int on);

  std::uint8_t Status() const { return m_status; }

private:
  int Bit(std::uint8_t mask) const { return (m_status & mask) != 0 ? 1 : 0; }
  void SetBit(std::uint8_t mask, int on);
  void ReadRequest(const void *pInput, std::uint32_t inputLength, void *pOutput,
                   std::uint32_t outputLength);
  void WriteRequest(const void *pInput, std::uint32_t inputLength);

  // The library writes a read's answer straight into this member.
  std::uint8_t m_status = RadioStatus::kUnansweredRead;
};
