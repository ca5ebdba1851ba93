#include "FlatOdf.h"

namespace pressmoor::testing {

std::string FlatOdf(const std::string& kind, const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document "
         "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
         "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
         "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
         "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
         "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" office:version=\"1.2\" "
         "office:mimetype=\"application/vnd.oasis.opendocument." + kind + "\"><office:body>" + body +
         "</office:body></office:document>";
}

std::string FlatSlide(const std::string& words) {
  return "<draw:page draw:name=\"" + words + "\"><draw:frame svg:x=\"2cm\" svg:y=\"2cm\" svg:width=\"20cm\" "
         "svg:height=\"3cm\"><draw:text-box><text:p>" + words + "</text:p></draw:text-box></draw:frame></draw:page>";
}

}  // namespace pressmoor::testing
