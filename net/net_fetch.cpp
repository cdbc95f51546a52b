#include "net/net_fetch.h"

#include <exception>

#include "core/text_file.h"
#include "net/net_import.h"

namespace purselog {

NetFetch::NetFetch(ProgramPaths paths) : paths_(std::move(paths)) {
  http_.settings().limits.body = kMaxNetAnswerBytes;
  http_.settings().limits.body_text = kNetAnswerTooLargeText;
}

NetDownload NetFetch::Download(const NetRequest& request, bool remove) {
  NetDownload download;
  answer_.clear();
  answer_.shrink_to_fit();
  HttpSettings& settings = http_.settings();
  settings.url =
      ServiceRequestUrl(request.settings.url, request.settings.id, request.password, remove);
  settings.proxy = request.settings.proxy;
  settings.proxy_port = request.settings.proxy_port;
  // ~net.dat anew and empty; when it cannot be written, nothing starts.
  const std::filesystem::path answer_file = NetAnswerFile(paths_);
  WriteScratchFile(answer_file, {});

  std::string received;
  http_.set_sink([&received](std::string_view bytes) { received.append(bytes); });
  std::exception_ptr other_failure;
  try {
    http_.Get();
    download.whole = true;
  } catch (const EHttpException& failure) {
    download.log.push_back(FailedLogText(failure.number(), failure.what()));
  } catch (...) {
    other_failure = std::current_exception();
  }
  http_.set_sink(nullptr);
  const auto note = [&download](const std::exception& error) {
    download.notices.push_back(ErrorNotice(error.what()));
  };
  try {
    // What arrived stays in ~net.dat, also after a failure.
    WriteScratchFile(answer_file, {received});
  } catch (const std::exception& error) {
    // The answer is kept in memory all the same: an import's answer is gone from the service.
    note(error);
  }
  if (download.whole) {
    download.log = CheckLogLines(received);
    download.offers_import = AnswerHasData(received);
    bool journaled = false;
    if (remove && download.offers_import) {
      try {
        BeginNetImport(received, paths_);
        journaled = true;
      } catch (const std::exception& error) {
        note(error);
      }
    }
    if (!journaled) answer_ = std::move(received);
  } else if (remove && !received.empty()) {
    try {
      download.log.push_back(
          KeptLogText(static_cast<std::size_t>(KeepUnmergedAnswer(received, paths_))));
    } catch (const std::exception& error) {
      note(error);
    }
  }
  if (other_failure) std::rethrow_exception(other_failure);
  return download;
}

}  // namespace purselog
