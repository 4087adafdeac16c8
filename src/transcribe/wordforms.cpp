// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms.h"

#include <algorithm>
#include <array>

namespace korv {
namespace {

// Heteronyms, and function words whose weak form the dictionaries list first: where spelling
// alone cannot tell, the engine's one answer is replaced by the choices.
constexpr std::array kForms = {
    WordForm{"a", "weak", "ə", "ə"},
    WordForm{"a", "strong", "eɪ", "eɪ"},
    WordForm{"an", "weak", "ən", "ən"},
    WordForm{"an", "strong", "æn", "æn"},
    WordForm{"and", "weak", "ənd", "ənd"},
    WordForm{"and", "strong", "ænd", "ænd"},
    WordForm{"at", "weak", "ət", "ət"},
    WordForm{"at", "strong", "æt", "æt"},
    WordForm{"bass", "music", "beɪs", "beɪs"},
    WordForm{"bass", "fish", "bæs", "bæs"},
    WordForm{"bow", "bend", "baʊ", "baʊ"},
    WordForm{"bow", "ribbon", "bəʊ", "boʊ"},
    WordForm{"but", "weak", "bət", "bət"},
    WordForm{"but", "strong", "bʌt", "bʌt"},
    WordForm{"can", "weak", "kən", "kən"},
    WordForm{"can", "strong", "kæn", "kæn"},
    WordForm{"close", "verb", "kləʊz", "kloʊz"},
    WordForm{"close", "adjective", "kləʊs", "kloʊs"},
    WordForm{"conduct", "noun", "ˈkɒndʌkt", "ˈkɑndʌkt"},
    WordForm{"conduct", "verb", "kənˈdʌkt", "kənˈdʌkt"},
    WordForm{"conflict", "noun", "ˈkɒnflɪkt", "ˈkɑnflɪkt"},
    WordForm{"conflict", "verb", "kənˈflɪkt", "kənˈflɪkt"},
    WordForm{"content", "noun", "ˈkɒntent", "ˈkɑntɛnt"},
    WordForm{"content", "adjective", "kənˈtent", "kənˈtɛnt"},
    WordForm{"contract", "noun", "ˈkɒntrækt", "ˈkɑntrækt"},
    WordForm{"contract", "verb", "kənˈtrækt", "kənˈtrækt"},
    WordForm{"contrast", "noun", "ˈkɒntrɑːst", "ˈkɑntræst"},
    WordForm{"contrast", "verb", "kənˈtrɑːst", "kənˈtræst"},
    WordForm{"desert", "noun", "ˈdezət", "ˈdɛzɚt"},
    WordForm{"desert", "verb", "dɪˈzɜːt", "dɪˈzɝt"},
    WordForm{"does", "verb", "dʌz", "dʌz"},
    WordForm{"does", "deer", "dəʊz", "doʊz"},
    WordForm{"dove", "bird", "dʌv", "dʌv"},
    WordForm{"dove", "past", "dəʊv", "doʊv"},
    WordForm{"excuse", "noun", "ɪkˈskjuːs", "ɪkˈskjus"},
    WordForm{"excuse", "verb", "ɪkˈskjuːz", "ɪkˈskjuz"},
    WordForm{"export", "noun", "ˈekspɔːt", "ˈɛkspɔrt"},
    WordForm{"export", "verb", "ɪkˈspɔːt", "ɪkˈspɔrt"},
    WordForm{"for", "weak", "fə", "fɚ"},
    WordForm{"for", "strong", "fɔː", "fɔr"},
    WordForm{"from", "weak", "frəm", "frəm"},
    WordForm{"from", "strong", "frɒm", "frʌm"},
    WordForm{"house", "noun", "haʊs", "haʊs"},
    WordForm{"house", "verb", "haʊz", "haʊz"},
    WordForm{"import", "noun", "ˈɪmpɔːt", "ˈɪmpɔrt"},
    WordForm{"import", "verb", "ɪmˈpɔːt", "ɪmˈpɔrt"},
    WordForm{"increase", "verb", "ɪnˈkriːs", "ɪnˈkris"},
    WordForm{"increase", "noun", "ˈɪŋkriːs", "ˈɪŋkris"},
    WordForm{"insult", "verb", "ɪnˈsʌlt", "ɪnˈsʌlt"},
    WordForm{"insult", "noun", "ˈɪnsʌlt", "ˈɪnsʌlt"},
    WordForm{"lead", "verb", "liːd", "lid"},
    WordForm{"lead", "metal", "led", "lɛd"},
    WordForm{"live", "verb", "lɪv", "lɪv"},
    WordForm{"live", "adjective", "laɪv", "laɪv"},
    WordForm{"minute", "noun", "ˈmɪnɪt", "ˈmɪnɪt"},
    WordForm{"minute", "adjective", "maɪˈnjuːt", "maɪˈnut"},
    WordForm{"object", "noun", "ˈɒbdʒɪkt", "ˈɑbdʒɪkt"},
    WordForm{"object", "verb", "əbˈdʒekt", "əbˈdʒɛkt"},
    WordForm{"of", "weak", "əv", "əv"},
    WordForm{"of", "strong", "ɒv", "ʌv"},
    WordForm{"perfect", "adjective", "ˈpɜːfɪkt", "ˈpɝfɪkt"},
    WordForm{"perfect", "verb", "pəˈfekt", "pɚˈfɛkt"},
    WordForm{"permit", "verb", "pəˈmɪt", "pɚˈmɪt"},
    WordForm{"permit", "noun", "ˈpɜːmɪt", "ˈpɝmɪt"},
    WordForm{"present", "noun", "ˈprezənt", "ˈprɛzənt"},
    WordForm{"present", "verb", "prɪˈzent", "prɪˈzɛnt"},
    WordForm{"produce", "verb", "prəˈdjuːs", "prəˈdus"},
    WordForm{"produce", "noun", "ˈprɒdjuːs", "ˈproʊdus"},
    WordForm{"progress", "noun", "ˈprəʊɡres", "ˈprɑɡrɛs"},
    WordForm{"progress", "verb", "prəˈɡres", "prəˈɡrɛs"},
    WordForm{"project", "noun", "ˈprɒdʒekt", "ˈprɑdʒɛkt"},
    WordForm{"project", "verb", "prəˈdʒekt", "prəˈdʒɛkt"},
    WordForm{"read", "present", "riːd", "rid"},
    WordForm{"read", "past", "red", "rɛd"},
    WordForm{"rebel", "noun", "ˈrebəl", "ˈrɛbəl"},
    WordForm{"rebel", "verb", "rɪˈbel", "rɪˈbɛl"},
    WordForm{"record", "noun", "ˈrekɔːd", "ˈrɛkɚd"},
    WordForm{"record", "verb", "rɪˈkɔːd", "rɪˈkɔrd"},
    WordForm{"refuse", "verb", "rɪˈfjuːz", "rɪˈfjuz"},
    WordForm{"refuse", "noun", "ˈrefjuːs", "ˈrɛfjus"},
    WordForm{"row", "line", "rəʊ", "roʊ"},
    WordForm{"row", "quarrel", "raʊ", "raʊ"},
    WordForm{"separate", "adjective", "ˈsepərət", "ˈsɛpərət"},
    WordForm{"separate", "verb", "ˈsepəreɪt", "ˈsɛpəreɪt"},
    WordForm{"subject", "noun", "ˈsʌbdʒɪkt", "ˈsʌbdʒɪkt"},
    WordForm{"subject", "verb", "səbˈdʒekt", "səbˈdʒɛkt"},
    WordForm{"suspect", "verb", "səˈspekt", "səˈspɛkt"},
    WordForm{"suspect", "noun", "ˈsʌspekt", "ˈsʌspɛkt"},
    WordForm{"tear", "crying", "tɪə", "tɪr"},
    WordForm{"tear", "rip", "teə", "tɛr"},
    WordForm{"that", "strong", "ðæt", "ðæt"},
    WordForm{"that", "weak", "ðət", "ðət"},
    WordForm{"the", "weak", "ðə", "ðə"},
    WordForm{"the", "before a vowel", "ði", "ði"},
    WordForm{"the", "strong", "ðiː", "ði"},
    WordForm{"them", "weak", "ðəm", "ðəm"},
    WordForm{"them", "strong", "ðem", "ðɛm"},
    WordForm{"to", "weak", "tə", "tə"},
    WordForm{"to", "before a vowel", "tu", "tu"},
    WordForm{"to", "strong", "tuː", "tu"},
    WordForm{"use", "verb", "juːz", "juz"},
    WordForm{"use", "noun", "juːs", "jus"},
    WordForm{"was", "weak", "wəz", "wəz"},
    WordForm{"was", "strong", "wɒz", "wʌz"},
    WordForm{"wind", "air", "wɪnd", "wɪnd"},
    WordForm{"wind", "turn", "waɪnd", "waɪnd"},
    WordForm{"wound", "injury", "wuːnd", "wund"},
    WordForm{"wound", "past of wind", "waʊnd", "waʊnd"},
};

} // namespace

std::span<const WordForm> allWordForms() {
    return kForms;
}

std::span<const WordForm> wordForms(std::string_view lowerCaseWord) {
    const auto [first, last] =
        std::equal_range(kForms.begin(), kForms.end(), WordForm{lowerCaseWord, {}, {}, {}},
                         [](const WordForm& a, const WordForm& b) { return a.word < b.word; });
    return {first, last};
}

} // namespace korv
