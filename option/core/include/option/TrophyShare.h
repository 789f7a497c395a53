#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

// Sharing a trophy: the trophy service is asked, with one GET, for the
// address of a page showing the trophy; that address is opened in the
// browser only when it is a plain web address.
namespace option {

class TrophyShare {
 public:
  static constexpr const char* kArticleNumber = "QXA-27-314";
  static constexpr std::size_t kMaxAnswer = 2048;

  // Fetches an address and returns the body of the answer; empty when the
  // transfer failed or `cancel` was set before it ended.
  using HttpGet =
      std::function<std::string(const std::string& url, const std::atomic<bool>& cancel)>;

  // The request for trophy 0..12 at local time `now`; `seed` seeds the
  // pseudo-random fields. The six fields: article number, trophy + 30, date
  // and time, a number 1..49, a number 0..99999, and the MD5 digest of the
  // other five joined by '|', in lower-case hex.
  static std::string requestUrl(const std::string& serviceBase, int trophy, std::time_t now,
                                std::uint32_t seed);

  // The answer as an address to open, trimmed of surrounding blanks and line
  // ends; empty when it is not an http:// or https:// address with a host,
  // of at most kMaxAnswer characters, without blanks or control characters.
  static std::string safeAddress(std::string_view answer);

  static std::string md5Hex(std::string_view text);
};

// The transfer through libcurl: one GET, with limits on the time to connect
// (5 s), the whole transfer (15 s) and the size of the answer; only http and
// https, no redirects. Setting `cancel` from another thread ends it soon
// (libcurl looks at it several times a second), with an empty answer.
std::string curlHttpGet(const std::string& url, const std::atomic<bool>& cancel);
std::string curlHttpGet(const std::string& url);

}  // namespace option
