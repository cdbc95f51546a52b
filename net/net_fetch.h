// The download step of the NET import without its window: ~net.dat emptied, the GET of the
// service request (a pump keeps the caller's window alive meanwhile), the answer kept once in
// memory and in ~net.dat, and the log to show. The answer is held once, refused beyond
// kMaxNetAnswerBytes, and only its first lines are put in the log.
#pragma once

#include <string>
#include <vector>

#include "core/notice.h"
#include "core/paths.h"
#include "net/http_cli.h"

namespace purselog {

// The stored fields of the NET window (Shift_JIS bytes), kept in ini.ini section "net".
struct NetSettings {
  std::string url;
  std::string proxy;
  std::string proxy_port;
  std::string id;
  friend bool operator==(const NetSettings&, const NetSettings&) = default;
};

// What a request is made of: the stored fields and the password, which is never stored.
struct NetRequest {
  NetSettings settings;
  std::string password;
};

struct NetDownload {
  bool whole = false;            // the answer arrived complete: answer() holds it
  bool offers_import = false;    // the answer holds data to import
  std::vector<std::string> log;  // the log to show, Shift_JIS lines
  std::vector<Notice> notices;   // errors beside the log (~net.dat that cannot be written)
};

class NetFetch {
 public:
  explicit NetFetch(ProgramPaths paths);
  NetFetch(const NetFetch&) = delete;
  NetFetch& operator=(const NetFetch&) = delete;

  // Called between the short steps of the wait.
  void set_pump(THttpCli::Pump pump) { http_.set_pump(std::move(pump)); }

  // The download: "&remove=1" tells the service to delete what it delivers. An import's whole
  // answer goes into the import journal at once (BeginNetImport, net/net_import.h), to be merged
  // by CompleteNetImport; answer() keeps it only when the journal could not be written. A failure
  // of the HTTP client is told in the log ("Failed : ..."); when an import's answer did not
  // arrive whole, the lines that did are kept in net_unmerged.txt (the service may have deleted
  // them). Throws FileError when ~net.dat cannot be emptied: nothing starts then.
  NetDownload Download(const NetRequest& request, bool remove);
  // Stops a running download, which then fails with "Connection aborted on request".
  void Abort() { http_.Abort(); }
  bool running() const { return http_.State() != HttpState::kReady; }
  // The last answer that arrived whole and is not in the journal (empty after a failed
  // download).
  const std::string& answer() const { return answer_; }
  THttpCli& client() { return http_; }

 private:
  ProgramPaths paths_;
  THttpCli http_;
  std::string answer_;
};

}  // namespace purselog
