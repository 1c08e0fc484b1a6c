#include "General.h"

#include <cstring>
#include <new>

CPointsGroup::CPointsGroup() : m_pPoints(NULL), m_nCount(0), m_nCapacity(0) {}

CPointsGroup::CPointsGroup(const CPointsGroup& other) : m_pPoints(NULL), m_nCount(0), m_nCapacity(0)
{
    *this = other;
}

CPointsGroup::~CPointsGroup() { delete[] m_pPoints; }

void CPointsGroup::Clear() { m_nCount = 0; }

void CPointsGroup::AddPoint(int x, int y)
{
    if (m_nCount == m_nCapacity) {
        int capacity = m_nCapacity == 0 ? 16 : m_nCapacity * 2;
        POINT* pPoints = new (std::nothrow) POINT[capacity];
        if (pPoints == NULL)
            return;  // the point is lost, the others stay
        if (m_nCount > 0)
            std::memcpy(pPoints, m_pPoints, sizeof(POINT) * m_nCount);
        delete[] m_pPoints;
        m_pPoints = pPoints;
        m_nCapacity = capacity;
    }
    m_pPoints[m_nCount].x = x;
    m_pPoints[m_nCount].y = y;
    m_nCount++;
}

int CPointsGroup::GetPointsNum() const { return m_nCount; }

POINT* CPointsGroup::GetAllPoints() const { return m_nCount > 0 ? m_pPoints : NULL; }
