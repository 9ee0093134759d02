-- Company database schema (PostgreSQL stand-in for the suite's SQL Server database).
CREATE TABLE IF NOT EXISTS Param (TSBREZDAVKA varchar(2) PRIMARY KEY, ROUNDT float);
