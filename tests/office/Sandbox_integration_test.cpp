// What a document reaches from inside the office's sandbox: its own folder
// and the system's files, read-only. Not the network, not the folders beside
// or above its own, not the user's home, not the rest of /etc.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "OfficeTestbed.h"

namespace pressmoor::testing {
namespace {

// An uncompressed 24-bit picture, known in a PDF by its size.
std::string Bitmap(int width, int height) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  std::string bytes = std::string(54, '\0') + std::string(static_cast<std::size_t>(rowBytes * height), '\x60');
  const auto put = [&bytes](std::size_t at, int value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put(2, static_cast<int>(bytes.size()), 4);
  put(10, 54, 4);   // where the pixels start
  put(14, 40, 4);   // the size of the header that follows
  put(18, width, 4);
  put(22, height, 4);
  put(26, 1, 2);    // planes
  put(28, 24, 2);   // bits per pixel
  return bytes;
}

// "WIDTHxHEIGHT" of every picture in a PDF.
std::multiset<std::string> PictureSizes(const std::string& pdf) {
  std::istringstream lines(CommandOutput("pdfimages -list " + Quoted(pdf) + " 2>/dev/null"));
  std::multiset<std::string> sizes;
  std::string line;
  for (int header = 0; header < 2 && std::getline(lines, line); ++header) {
  }
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string page, number, type, width, height;
    if (fields >> page >> number >> type >> width >> height) sizes.insert(width + "x" + height);
  }
  return sizes;
}

// A web server on 127.0.0.1 that counts the connections it is offered and
// answers each with a picture. It looks for work every 50 ms, gives a
// client one second to ask, and stops with the object.
class CountingServer {
 public:
  CountingServer() {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(listener_, 16) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      ADD_FAILURE() << "no web server on 127.0.0.1";
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~CountingServer() {
    stop_ = true;
    thread_.join();
    close(listener_);
  }
  CountingServer(const CountingServer&) = delete;
  CountingServer& operator=(const CountingServer&) = delete;

  std::string Url(const std::string& name) const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/" + name;
  }
  int Requests() const { return requests_; }
  // Waits until no request has come for a quarter of a second.
  void AwaitQuiet() const {
    for (int seen = -1; seen != requests_;) {
      seen = requests_;
      std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
  }

 private:
  void Serve() {
    const std::string picture = Bitmap(8, 8);
    const std::string reply = "HTTP/1.0 200 OK\r\nContent-Type: image/bmp\r\nContent-Length: " +
                              std::to_string(picture.size()) + "\r\n\r\n" + picture;
    while (!stop_) {
      pollfd waiting{listener_, POLLIN, 0};
      if (poll(&waiting, 1, 50) <= 0) continue;
      const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0) continue;
      ++requests_;
      const timeval patience{1, 0};
      setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
      char request[4096];
      if (read(client, request, sizeof request) > 0 && write(client, reply.data(), reply.size()) < 0) {
        ADD_FAILURE() << "the web server could not answer";
      }
      close(client);
    }
  }

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> requests_{0};
  std::thread thread_;
};

struct Document {
  std::string name;
  std::string content;
  std::string words;  // in its PDF
};

class Sandbox : public ::testing::Test {
 protected:
  // The offices read no more than the folders of the documents announced.
  Sandbox() { bed_.factory.AllowFolders({}); }

  std::string Source(const std::string& name) const { return dir_.Sub("source/" + name); }

  // Writes `documents` into the source folder and converts them as a batch
  // does, announced first; returns the PDFs, which go to another folder.
  std::vector<std::string> Convert(const std::vector<Document>& documents) {
    std::vector<std::string> sources;
    for (const Document& document : documents) {
      if (!document.content.empty()) dir_.WriteFile("source/" + document.name, document.content);
      sources.push_back(Source(document.name));
    }
    bed_.factory.ExpectDocuments(sources);
    auto word = bed_.Word();
    word->ActivePrinter(driver::kPrinterName);
    std::vector<std::string> pdfs;
    for (const std::string& source : sources) {
      pdfs.push_back(dir_.Sub("out/" + std::filesystem::path(source).stem().string() + ".pdf"));
      word->Documents()->Open({source});
      word->ActiveDocument()->PrintOut({pdfs.back(), true});
      word->Documents()->Close({false});
    }
    word->Quit();
    return pdfs;
  }

  // Documents that ask for the web server: pages with a remote style sheet,
  // picture and frames, rich text with a picture field, and a Word document
  // with a linked picture (made by an office of its own, which may fetch it).
  std::vector<Document> RemoteDocuments() {
    const std::string page = "<html><head><link rel=\"stylesheet\" href=\"" + server_.Url("s.css") +
                             "\"></head><body><p>Styled page words</p><img src=\"" +
                             server_.Url("a.bmp") + "\"><iframe src=\"" + server_.Url("f.html") +
                             "\"></iframe></body></html>";
    const std::string frames = "<html><frameset cols=\"50%,50%\"><frame src=\"" + server_.Url("l.html") +
                               "\"><frame src=\"" + server_.Url("r.html") +
                               "\"><noframes><body><p>Framed page words</p></body></noframes>"
                               "</frameset></html>";
    const std::string richText = "{\\rtf1\\ansi Rich text words {\\field{\\*\\fldinst { INCLUDEPICTURE \"" +
                                 server_.Url("b.bmp") + "\" \\\\d }}{\\fldrslt {}}}\\par}";
    const std::string flat = dir_.WriteFile(
        "made/linked.fodt",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document "
        "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
        "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" office:version=\"1.2\" "
        "office:mimetype=\"application/vnd.oasis.opendocument.text\"><office:body><office:text>"
        "<text:p>Linked picture words<draw:frame draw:name=\"p\" text:anchor-type=\"as-char\" "
        "svg:width=\"2cm\" svg:height=\"2cm\"><draw:image xlink:href=\"" + server_.Url("c.bmp") +
        "\" xlink:type=\"simple\" xlink:show=\"embed\" xlink:actuate=\"onLoad\"/></draw:frame>"
        "</text:p></office:text></office:body></office:document>");
    office::libreoffice::DocumentWriter().Convert(flat, Source("linked.doc"), "MS Word 97");
    server_.AwaitQuiet();
    return {{"styled.html", page, "Styled page words"},
            {"framed.html", frames, "Framed page words"},
            {"picture.rtf", richText, "Rich text words"},
            {"linked.doc", "", "Linked picture words"}};
  }

  OfficeTestbed bed_;
  TempDir dir_;
  CountingServer server_;
};

TEST_F(Sandbox, RemoteContentIsNeverFetchedAndTheTextIsPrinted) {
  const std::vector<Document> documents = RemoteDocuments();
  const int before = server_.Requests();
  const std::vector<std::string> pdfs = Convert(documents);
  for (std::size_t i = 0; i < documents.size(); ++i) {
    EXPECT_NE(PdfText(pdfs[i]).find(documents[i].words), std::string::npos) << documents[i].name;
  }
  EXPECT_EQ(server_.Requests(), before);
}

// The control for the test above: its documents do ask for the server.
TEST_F(Sandbox, WithoutSandboxTheSameDocumentsReachTheServer) {
  const std::vector<Document> documents = RemoteDocuments();
  const int before = server_.Requests();
  setenv("PRESSMOOR_EVENT_LOG", dir_.Sub("events.log").c_str(), 1);
  setenv("PRESSMOOR_SANDBOX", "off", 1);
  Convert(documents);
  unsetenv("PRESSMOOR_SANDBOX");
  unsetenv("PRESSMOOR_EVENT_LOG");
  EXPECT_GT(server_.Requests(), before);
  EXPECT_NE(ReadBytes(dir_.Sub("events.log")).find("PRESSMOOR_SANDBOX=off"), std::string::npos);
}

TEST_F(Sandbox, OnlyPicturesInTheDocumentsOwnFolderArePrinted) {
  dir_.WriteFile("source/page_files/beside.bmp", Bitmap(40, 30));
  dir_.WriteFile("elsewhere/above.bmp", Bitmap(41, 31));
  const std::string absolute = dir_.WriteFile("elsewhere/absolute.bmp", Bitmap(42, 32));
  const std::vector<std::string> pdfs = Convert(
      {{"page.html",
        "<html><body><p>Pictures</p><img src=\"page_files/beside.bmp\"><img "
        "src=\"../elsewhere/above.bmp\"><img src=\"file://" + absolute + "\"></body></html>",
        "Pictures"}});
  EXPECT_EQ(PictureSizes(pdfs[0]), std::multiset<std::string>{"40x30"});
}

// Seen from outside, through the office's own view of the file system.
TEST_F(Sandbox, TheOfficeSeesItsFolderAndTheSystemButNothingElse) {
  const std::string home = getenv("HOME") != nullptr ? getenv("HOME") : "/root";
  const std::string beside = dir_.WriteFile("elsewhere/private.txt", "private\n");
  const std::string source = dir_.WriteFile("source/letter.txt", "letter\n");
  // A document linked in from elsewhere brings its file, not its folder.
  const std::string linked = dir_.WriteFile("elsewhere/linked.txt", "linked\n");
  std::filesystem::create_symlink(linked, Source("link.txt"));
  bed_.factory.ExpectDocuments({source, Source("link.txt")});
  auto word = bed_.Word();
  const std::vector<pid_t> offices = OfficeChildren();
  ASSERT_FALSE(offices.empty());
  const std::string root = "/proc/" + std::to_string(offices[0]) + "/root";
  struct Seen {
    std::string path;
    bool there;
  };
  for (const Seen& seen : std::vector<Seen>{{source, true},
                                            {linked, true},
                                            {"/usr/lib/libreoffice/program/soffice.bin", true},
                                            {beside, false},
                                            {home, false},
                                            {"/etc/shadow", false},
                                            {bed_.dir.Path() + "/machine/registry.sqlite", false}}) {
    EXPECT_EQ(std::filesystem::exists(root + seen.path), seen.there) << seen.path;
  }
  const std::string passwd = ReadBytes(root + "/etc/passwd");
  EXPECT_EQ(std::count(passwd.begin(), passwd.end(), '\n'), 1) << "the office sees the machine's users";
  // No network: the interfaces listed after the two header lines are the
  // loopback alone.
  std::istringstream lines(ReadBytes("/proc/" + std::to_string(offices[0]) + "/net/dev"));
  std::vector<std::string> interfaces;
  for (std::string line; std::getline(lines, line);) interfaces.push_back(line.substr(0, line.find(':')));
  ASSERT_EQ(interfaces.size(), 3u);
  EXPECT_EQ(interfaces[2].substr(interfaces[2].find_first_not_of(' ')), "lo");
  word->Quit();
}

}  // namespace
}  // namespace pressmoor::testing
