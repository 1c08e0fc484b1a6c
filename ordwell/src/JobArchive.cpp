#include "JobArchive.h"

#include <map>

namespace jobarchive {

namespace {

const uint16_t kNullTag = 0;
const uint16_t kNewClassTag = 0xFFFF;
const uint16_t kClassTag = 0x8000;
const uint16_t kBigObjectTag = 0x7FFF;
const uint32_t kBigClassTag = 0x80000000u;
const uint16_t kSchema = 1;

class Writer {
public:
    void U8(uint8_t v) { m_bytes.push_back(v); }
    void U16(uint16_t v)
    {
        U8(static_cast<uint8_t>(v));
        U8(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16(static_cast<uint16_t>(v));
        U16(static_cast<uint16_t>(v >> 16));
    }
    void Text(const std::string& s)
    {
        size_t n = s.size();
        if (n < 0xFF) {
            U8(static_cast<uint8_t>(n));
        } else if (n < 0xFFFE) {
            U8(0xFF);
            U16(static_cast<uint16_t>(n));
        } else {
            U8(0xFF);
            U16(0xFFFF);
            U32(static_cast<uint32_t>(n));
        }
        m_bytes.insert(m_bytes.end(), s.begin(), s.end());
    }
    void Count(size_t n)
    {
        if (n < 0xFFFF) {
            U16(static_cast<uint16_t>(n));
        } else {
            U16(0xFFFF);
            U32(static_cast<uint32_t>(n));
        }
    }
    // The tag in front of a new object of the class: the class itself the
    // first time, its index afterwards. Then the object takes an index.
    void ObjectStart(const char* className)
    {
        auto found = m_classes.find(className);
        if (found == m_classes.end()) {
            U16(kNewClassTag);
            U16(kSchema);
            std::string name(className);
            U16(static_cast<uint16_t>(name.size()));
            m_bytes.insert(m_bytes.end(), name.begin(), name.end());
            m_classes[className] = m_next++;
        } else if (found->second < kBigObjectTag) {
            U16(static_cast<uint16_t>(kClassTag | found->second));
        } else {
            U16(kBigObjectTag);
            U32(kBigClassTag | found->second);
        }
        m_next++;
    }
    std::vector<uint8_t>& Bytes() { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
    std::map<std::string, uint32_t> m_classes;
    uint32_t m_next = 1;  // 0 is the null reference
};

class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}

    bool Ok() const { return m_ok; }
    bool AtEnd() const { return m_pos == m_bytes.size(); }
    size_t Left() const { return m_bytes.size() - m_pos; }

    uint8_t U8()
    {
        if (!Need(1))
            return 0;
        return m_bytes[m_pos++];
    }
    uint16_t U16()
    {
        uint16_t lo = U8();
        return static_cast<uint16_t>(lo | (U8() << 8));
    }
    uint32_t U32()
    {
        uint32_t lo = U16();
        return lo | (static_cast<uint32_t>(U16()) << 16);
    }
    std::string Text()
    {
        uint32_t n = U8();
        if (n == 0xFF) {
            n = U16();
            if (n == 0xFFFE)  // a Unicode text: never written here
                return Fail();
            // The writer gives each length its shortest prefix.
            if (n == 0xFFFF) {
                n = U32();
                if (n < 0xFFFE)
                    return Fail();
            } else if (n < 0xFF) {
                return Fail();
            }
        }
        if (!Need(n))
            return std::string();
        std::string s(reinterpret_cast<const char*>(m_bytes.data() + m_pos), n);
        m_pos += n;
        return s;
    }
    // An element count; each element takes at least two bytes.
    uint32_t Count()
    {
        uint32_t n = U16();
        if (n == 0xFFFF) {
            n = U32();
            if (n < 0xFFFF) {  // fits the 16-bit count the writer gives it
                Fail();
                return 0;
            }
        }
        if (m_ok && n > Left() / 2) {
            Fail();
            return 0;
        }
        return n;
    }
    // The tag of one list element, which must be a new object of className.
    bool ObjectStart(const char* className)
    {
        uint16_t tag = U16();
        if (!m_ok)
            return false;
        if (tag == kNewClassTag) {
            uint16_t schema = U16();
            uint16_t length = U16();
            if (!Need(length))
                return false;
            std::string name(reinterpret_cast<const char*>(m_bytes.data() + m_pos), length);
            m_pos += length;
            if (schema != kSchema || name != className)
                return Fail(), false;
            m_classes[m_next++] = name;
        } else {
            uint32_t index;
            if (tag == kBigObjectTag) {
                index = U32();
                if ((index & ~kBigClassTag) < kBigObjectTag)  // the writer's short tag holds it
                    return Fail(), false;
            } else
                index = (static_cast<uint32_t>(tag & kClassTag) << 16) | (tag & ~kClassTag);
            // A null or an object already read (a shared element) is not
            // what the writer makes of an owning list.
            if (!m_ok || tag == kNullTag || (index & kBigClassTag) == 0)
                return Fail(), false;
            auto found = m_classes.find(index & ~kBigClassTag);
            if (found == m_classes.end() || found->second != className)
                return Fail(), false;
        }
        m_next++;
        return true;
    }
    std::string Fail()
    {
        m_ok = false;
        m_pos = m_bytes.size();
        return std::string();
    }

private:
    bool Need(size_t n)
    {
        if (!m_ok || n > Left()) {
            Fail();
            return false;
        }
        return true;
    }

    const std::vector<uint8_t>& m_bytes;
    size_t m_pos = 0;
    bool m_ok = true;
    std::map<uint32_t, std::string> m_classes;
    uint32_t m_next = 1;
};

void WriteNames(Writer& w, const std::vector<std::string>& names)
{
    w.Count(names.size());
    for (const std::string& name : names) {
        w.ObjectStart("JCFileName");
        w.Text(name);
    }
}

bool ReadNames(Reader& r, std::vector<std::string>& names)
{
    uint32_t n = r.Count();
    names.clear();
    for (uint32_t i = 0; i < n && r.Ok(); i++) {
        if (!r.ObjectStart("JCFileName"))
            return false;
        names.push_back(r.Text());
    }
    return r.Ok();
}

}  // namespace

std::vector<uint8_t> EncodeTask(const TaskRecord& task)
{
    Writer w;
    w.U32(task.tag);
    w.U32(task.time);
    for (int i = 0; i < 3; i++)
        w.Text(task.texts[i]);
    w.U32(task.ownerAccess);
    w.U32(task.groupAccess);
    for (int i = 3; i < 6; i++)
        w.Text(task.texts[i]);
    WriteNames(w, task.jobs);
    return std::move(w.Bytes());
}

bool DecodeTask(const std::vector<uint8_t>& bytes, TaskRecord& task)
{
    Reader r(bytes);
    task.tag = r.U32();
    task.time = r.U32();
    for (int i = 0; i < 3; i++)
        task.texts[i] = r.Text();
    task.ownerAccess = r.U32();
    task.groupAccess = r.U32();
    for (int i = 3; i < 6; i++)
        task.texts[i] = r.Text();
    return ReadNames(r, task.jobs) && r.Ok() && r.AtEnd();
}

std::vector<uint8_t> EncodeJob(const JobRecord& job)
{
    Writer w;
    w.U32(job.tag);
    w.U32(job.time);
    w.Text(job.texts[0]);
    w.Text(job.texts[1]);
    w.U32(job.ownerAccess);
    w.U32(job.groupAccess);
    for (int i = 2; i < 5; i++)
        w.Text(job.texts[i]);
    w.Text(job.scannerProfile);
    w.Text(job.printerProfile);
    w.Text(job.displayProfile);
    w.Count(job.pages.size());
    for (const PageRecord& page : job.pages) {
        w.ObjectStart("JCPage");
        w.U32(page.number1);
        w.U32(page.time);
        w.U32(page.number2);
        w.Text(page.description);
        w.Text(page.file);
        WriteNames(w, page.origins);
    }
    w.Count(job.origins.size());
    for (const OriginRecord& origin : job.origins) {
        w.ObjectStart("JCOrigin");
        w.U32(origin.typeCode);
        w.U32(origin.number1);
        w.U32(origin.number2);
        w.U32(origin.time);
        w.Text(origin.description);
        w.Text(origin.ownerPage);
        w.Text(origin.file);
        WriteNames(w, origin.pages);
    }
    w.Count(job.outputs.size());
    for (const OutputRecord& output : job.outputs) {
        w.ObjectStart("JCOutput");
        w.U32(output.typeCode);
        w.U32(output.time);
        w.Text(output.ownerPage);
        w.Text(output.file);
    }
    return std::move(w.Bytes());
}

bool DecodeJob(const std::vector<uint8_t>& bytes, JobRecord& job)
{
    Reader r(bytes);
    job.tag = r.U32();
    job.time = r.U32();
    job.texts[0] = r.Text();
    job.texts[1] = r.Text();
    job.ownerAccess = r.U32();
    job.groupAccess = r.U32();
    for (int i = 2; i < 5; i++)
        job.texts[i] = r.Text();
    job.scannerProfile = r.Text();
    job.printerProfile = r.Text();
    job.displayProfile = r.Text();

    job.pages.clear();
    uint32_t n = r.Count();
    for (uint32_t i = 0; i < n && r.Ok(); i++) {
        if (!r.ObjectStart("JCPage"))
            return false;
        PageRecord page;
        page.number1 = r.U32();
        page.time = r.U32();
        page.number2 = r.U32();
        page.description = r.Text();
        page.file = r.Text();
        if (!ReadNames(r, page.origins))
            return false;
        job.pages.push_back(std::move(page));
    }
    job.origins.clear();
    n = r.Count();
    for (uint32_t i = 0; i < n && r.Ok(); i++) {
        if (!r.ObjectStart("JCOrigin"))
            return false;
        OriginRecord origin;
        origin.typeCode = r.U32();
        origin.number1 = r.U32();
        origin.number2 = r.U32();
        origin.time = r.U32();
        origin.description = r.Text();
        origin.ownerPage = r.Text();
        origin.file = r.Text();
        if (!ReadNames(r, origin.pages))
            return false;
        job.origins.push_back(std::move(origin));
    }
    job.outputs.clear();
    n = r.Count();
    for (uint32_t i = 0; i < n && r.Ok(); i++) {
        if (!r.ObjectStart("JCOutput"))
            return false;
        OutputRecord output;
        output.typeCode = r.U32();
        output.time = r.U32();
        output.ownerPage = r.Text();
        output.file = r.Text();
        job.outputs.push_back(std::move(output));
    }
    return r.Ok() && r.AtEnd();
}

}  // namespace jobarchive
