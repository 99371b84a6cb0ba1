#pragma once

#include <cstddef>
#include <cstdint>

// The fuzz targets' bodies. Each takes any bytes and returns when every
// property it checks held; a broken one goes to fuzz::fail. The same body
// runs under libFuzzer (a program per target, built with VORLANE_FUZZ) and
// in the replay test of the normal suite, over the corpus and seeded
// mutations of it.
namespace fuzz {

using Body = void (*)(const std::uint8_t *data, std::size_t size);

// The settings file: an INI file of arbitrary bytes opened, read, written
// and read again (SettingsFileFuzz.cpp).
void settingsFile(const std::uint8_t *data, std::size_t size);

// The page helper's answer to a bulk read (HelperAnswerFuzz.cpp).
void helperAnswer(const std::uint8_t *data, std::size_t size);

// A DevTools message as it arrives from the browser (CdpMessageFuzz.cpp).
void cdpMessage(const std::uint8_t *data, std::size_t size);

// Every target, by the name of its corpus folder.
struct Target
{
    const char *name;
    Body body;
};
inline constexpr Target kTargets[] = {
    {"settings_file", settingsFile},
    {"helper_answer", helperAnswer},
    {"cdp_message", cdpMessage},
};

// A property did not hold. The program defines it: libFuzzer's entry
// aborts, so the input is kept as a crash; the replay test throws.
[[noreturn]] void fail(const char *file, int line, const char *property);

} // namespace fuzz

#define FUZZ_CHECK(condition) ((condition) ? void() : ::fuzz::fail(__FILE__, __LINE__, #condition))
