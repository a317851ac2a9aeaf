#pragma once
// The clock label's text and the link label's blinking colour.
#include <cstdint>
#include <string>

namespace notice {

constexpr std::uint32_t kLinkBlue = 0xFF0000;  // 0x00BBGGRR
constexpr std::uint32_t kLinkRed = 0x0000FF;

// A formatted part as the formatting function left it in its buffer: the
// bytes before the first zero, never more than the buffer holds.
std::string TextOfFormatBuffer(const char *buffer, std::size_t bufferSize);

// "北京时间：" + date part + time part, no separator between the parts.
std::string ClockLabelText(const std::string &datePart, const std::string &timePart);

// Blue becomes red; any other colour becomes blue.
std::uint32_t NextLinkColour(std::uint32_t colour);

}  // namespace notice
