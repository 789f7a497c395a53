#include "option/TrophyShare.h"

#include <curl/curl.h>
#include <dlfcn.h>
#include <openssl/evp.h>

#include <cctype>
#include <random>

namespace option {
namespace {

std::size_t appendChunk(char* data, std::size_t size, std::size_t count, void* user) {
  auto* body = static_cast<std::string*>(user);
  const std::size_t bytes = size * count;
  // An answer far longer than any address is not one: stop the transfer.
  if (body->size() + bytes > 4 * TrophyShare::kMaxAnswer) return 0;
  body->append(data, bytes);
  return bytes;
}

// libcurl's progress callback: a non-zero answer aborts the transfer.
int cancelled(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<const std::atomic<bool>*>(user)->load() ? 1 : 0;
}

// libcurl and the libraries it brings in took a tenth of the Configuration
// program's start, for a transfer only the trophy share makes: it is loaded
// on the first share instead. Its headers still give the types and options.
struct CurlCalls {
  decltype(&curl_easy_init) init = nullptr;
  decltype(&curl_easy_setopt) setopt = nullptr;
  decltype(&curl_easy_perform) perform = nullptr;
  decltype(&curl_easy_cleanup) cleanup = nullptr;
};

// Null when libcurl cannot be loaded: a share then fails like a transfer.
const CurlCalls* loadCurl() {
  static const CurlCalls* const calls = []() -> const CurlCalls* {
    void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return nullptr;
    static CurlCalls loaded;
    loaded.init = reinterpret_cast<decltype(&curl_easy_init)>(dlsym(library, "curl_easy_init"));
    loaded.setopt =
        reinterpret_cast<decltype(&curl_easy_setopt)>(dlsym(library, "curl_easy_setopt"));
    loaded.perform =
        reinterpret_cast<decltype(&curl_easy_perform)>(dlsym(library, "curl_easy_perform"));
    loaded.cleanup =
        reinterpret_cast<decltype(&curl_easy_cleanup)>(dlsym(library, "curl_easy_cleanup"));
    if (!loaded.init || !loaded.setopt || !loaded.perform || !loaded.cleanup) return nullptr;
    return &loaded;
  }();
  return calls;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}

}  // namespace

std::string TrophyShare::md5Hex(std::string_view text) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (!EVP_Digest(text.data(), text.size(), digest, &length, EVP_md5(), nullptr)) return {};
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (unsigned int i = 0; i < length; ++i) {
    out += kHex[digest[i] >> 4];
    out += kHex[digest[i] & 15];
  }
  return out;
}

std::string TrophyShare::requestUrl(const std::string& serviceBase, int trophy, std::time_t now,
                                    std::uint32_t seed) {
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &local);
  std::mt19937 random(seed);
  const int lucky = std::uniform_int_distribution<int>(1, 49)(random);
  const int nonce = std::uniform_int_distribution<int>(0, 99999)(random);
  const std::string fields[5] = {kArticleNumber, std::to_string(trophy + 30), stamp,
                                 std::to_string(lucky), std::to_string(nonce)};
  std::string signed_;
  for (const std::string& f : fields) signed_ += (signed_.empty() ? "" : "|") + f;
  std::string url = serviceBase + "frontend.en,1,trophy,";
  for (const std::string& f : fields) url += f + ",";
  url += md5Hex(signed_) + ".dll";
  return url;
}

std::string TrophyShare::safeAddress(std::string_view answer) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!answer.empty() && blank(answer.front())) answer.remove_prefix(1);
  while (!answer.empty() && blank(answer.back())) answer.remove_suffix(1);
  if (answer.empty() || answer.size() > kMaxAnswer) return {};
  std::size_t scheme = 0;
  if (startsWithNoCase(answer, "http://"))
    scheme = 7;
  else if (startsWithNoCase(answer, "https://"))
    scheme = 8;
  else
    return {};
  for (char c : answer) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u == 0x7F) return {};
  }
  // A host must follow the scheme.
  if (answer.size() == scheme || answer[scheme] == '/' || answer[scheme] == '?' ||
      answer[scheme] == '#')
    return {};
  return std::string(answer);
}

std::string curlHttpGet(const std::string& url) {
  const std::atomic<bool> never{false};
  return curlHttpGet(url, never);
}

std::string curlHttpGet(const std::string& url, const std::atomic<bool>& cancel) {
  std::string body;
  const CurlCalls* curl = loadCurl();
  if (curl == nullptr) return body;
  CURL* transfer = curl->init();
  if (transfer == nullptr) return body;
  curl->setopt(transfer, CURLOPT_URL, url.c_str());
  curl->setopt(transfer, CURLOPT_WRITEFUNCTION, appendChunk);
  curl->setopt(transfer, CURLOPT_WRITEDATA, &body);
  curl->setopt(transfer, CURLOPT_PROTOCOLS_STR, "http,https");
  curl->setopt(transfer, CURLOPT_CONNECTTIMEOUT, 5L);
  curl->setopt(transfer, CURLOPT_TIMEOUT, 15L);
  curl->setopt(transfer, CURLOPT_NOSIGNAL, 1L);
  curl->setopt(transfer, CURLOPT_FAILONERROR, 1L);
  curl->setopt(transfer, CURLOPT_XFERINFOFUNCTION, cancelled);
  curl->setopt(transfer, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(&cancel));
  curl->setopt(transfer, CURLOPT_NOPROGRESS, 0L);
  if (curl->perform(transfer) != CURLE_OK) body.clear();
  curl->cleanup(transfer);
  return body;
}

}  // namespace option
