// The host's node kinds and the build's RTF modes, by name, with the one range check of each.
#pragma once

#include <cstdint>

namespace t2c {

// Node kinds as the host sends them (NodeInfo.kind). The host has three kinds of container,
// which the plug-in treats alike; the stand-in host sends the first for its folders.
enum NodeKind : int32_t {
  kPlainText = 0,
  kWebArchive = 1,
  kRichText = 2,
  kHtml = 3,
  kContainer = 4,
  kSecondContainer = 5,
  kThirdContainer = 6,
};

// Containers hold other nodes and have no article of their own.
constexpr bool isContainerKind(int32_t kind) {
  return kind == kContainer || kind == kSecondContainer || kind == kThirdContainer;
}

// A kind the host is known to send; any other is kept and copied as it came.
constexpr bool isKnownNodeKind(int32_t kind) { return kind >= kPlainText && kind <= kThirdContainer; }

// How a build exports RTF nodes (the ConvertHTML setting, and the main window's radio group in
// this order).
enum RtfMode : int32_t {
  kRtfToHtml = 0,
  kRtfArticle = 1,
  kRtfSkip = 2,
  kRtfLinkPage = 3,
};

constexpr int32_t kRtfModeCount = kRtfLinkPage + 1;

// A stored or given mode outside this range selects no road of the build.
constexpr bool isKnownRtfMode(int32_t mode) { return mode >= kRtfToHtml && mode <= kRtfLinkPage; }

}  // namespace t2c
