// What containment tests look for: a web server on loopback that counts
// who asks it, and pictures recognised in a PDF by their size alone.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <set>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "OfficeTestbed.h"

namespace pressmoor::testing {

// An uncompressed 24-bit picture, known in a PDF by its size.
inline std::string Bitmap(int width, int height) {
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
inline std::multiset<std::string> PictureSizes(const std::string& pdf) {
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

}  // namespace pressmoor::testing
