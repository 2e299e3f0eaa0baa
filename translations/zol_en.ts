<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>zol::AnalyticsModel</name>
    <message numerus="yes">
        <source>%n minutes ago</source>
        <translation>
            <numerusform>%n minute ago</numerusform>
            <numerusform>%n minutes ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hours ago</source>
        <translation>
            <numerusform>%n hour ago</numerusform>
            <numerusform>%n hours ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n days ago</source>
        <translation>
            <numerusform>%n day ago</numerusform>
            <numerusform>%n days ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n timesheets could not be read: %1.
Those hours are missing from these figures.</source>
        <translation>
            <numerusform>%n timesheet could not be read: %1.
Those hours are missing from these figures.</numerusform>
            <numerusform>%n timesheets could not be read: %1.
Those hours are missing from these figures.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 · %n sessions</source>
        <translation>
            <numerusform>%1 · %n session</numerusform>
            <numerusform>%1 · %n sessions</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::HistoryModel</name>
    <message numerus="yes">
        <source>Deleted %n sessions.</source>
        <translation>
            <numerusform>Deleted %n session.</numerusform>
            <numerusform>Deleted %n sessions.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Restored %n sessions. These hours are already tracked: %1. Delete or change what is in the way first.</source>
        <translation>
            <numerusform>Restored %n session. These hours are already tracked: %1. Delete or change what is in the way first.</numerusform>
            <numerusform>Restored %n sessions. These hours are already tracked: %1. Delete or change what is in the way first.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::ReportsModel</name>
    <message numerus="yes">
        <source>Exported %n sessions.</source>
        <translation>
            <numerusform>Exported %n session.</numerusform>
            <numerusform>Exported %n sessions.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The %n sessions matching “%1”.</source>
        <translation>
            <numerusform>The %n sessions matching “%1”.</numerusform>
            <numerusform>The %n sessions matching “%1”.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::SearchModel</name>
    <message numerus="yes">
        <source>%n sessions</source>
        <translation>
            <numerusform>%n session</numerusform>
            <numerusform>%n sessions</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n projects</source>
        <translation>
            <numerusform>%n project</numerusform>
            <numerusform>%n projects</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n clients</source>
        <translation>
            <numerusform>%n client</numerusform>
            <numerusform>%n clients</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::SharingModel</name>
    <message numerus="yes">
        <source>%n files were open on another computer; they go on the next sync.</source>
        <translation>
            <numerusform>One file was open on another computer; it goes on the next sync.</numerusform>
            <numerusform>%n files were open on another computer; they go on the next sync.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Received %n projects.</source>
        <translation>
            <numerusform>Received %n project.</numerusform>
            <numerusform>Received %n projects.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Up to date with %n other computers.</source>
        <translation>
            <numerusform>Up to date with %n other computer.</numerusform>
            <numerusform>Up to date with %n other computers.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::StudioSettings</name>
    <message numerus="yes">
        <source>Reachable · %n other computers</source>
        <translation>
            <numerusform>Reachable · %n other computer</numerusform>
            <numerusform>Reachable · %n other computers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n more</source>
        <extracomment>The end of a list of names: &quot;Bram, Carla, Dirk and 2 more&quot;.</extracomment>
        <translation>
            <numerusform>%n more</numerusform>
            <numerusform>%n more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Reachable · %n other computers: %1</source>
        <extracomment>%1 lists their names: &quot;Bram and Carla&quot;.</extracomment>
        <translation>
            <numerusform>Reachable · %n other computer: %1</numerusform>
            <numerusform>Reachable · %n other computers: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::cli::BackupCommands</name>
    <message numerus="yes">
        <source>%n sessions</source>
        <translation>
            <numerusform>%n session</numerusform>
            <numerusform>%n sessions</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::cli::BooksCommands</name>
    <message numerus="yes">
        <source>Timesheets are filed under %1 now, in every set of books but %2, which have names of their own.</source>
        <translation>
            <numerusform>Timesheets are filed under %1 now, in every set of books but %2, which has a name of its own.</numerusform>
            <numerusform>Timesheets are filed under %1 now, in every set of books but %2, which have names of their own.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::cli::HistoryCommands</name>
    <message numerus="yes">
        <source>%1 is the beginning of the ids of more than %n sessions:</source>
        <translation>
            <numerusform>%1 is the beginning of the ids of more than %n session:</numerusform>
            <numerusform>%1 is the beginning of the ids of more than %n sessions:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 is the beginning of the ids of %n sessions:</source>
        <translation>
            <numerusform>%1 is the beginning of the ids of %n session:</numerusform>
            <numerusform>%1 is the beginning of the ids of %n sessions:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Total %1 in %n sessions.</source>
        <translation>
            <numerusform>Total %1 in %n session.</numerusform>
            <numerusform>Total %1 in %n sessions.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::cli::StudioCommands</name>
    <message numerus="yes">
        <source>Handed in %n timesheets; the studio folder is up to date.</source>
        <translation>
            <numerusform>Handed in %n timesheet; the studio folder is up to date.</numerusform>
            <numerusform>Handed in %n timesheets; the studio folder is up to date.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::controller::HistoryCaptions</name>
    <message numerus="yes">
        <source>%n sessions · %1</source>
        <translation>
            <numerusform>%n session · %1</numerusform>
            <numerusform>%n sessions · %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::controller::PanelState</name>
    <message numerus="yes">
        <source>· %n sessions</source>
        <translation>
            <numerusform>· %n session</numerusform>
            <numerusform>· %n sessions</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n projects</source>
        <translation>
            <numerusform>%1 of %n project</numerusform>
            <numerusform>%1 of %n projects</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::controller::PersonalFacts</name>
    <message numerus="yes">
        <source>The books go back to how they were that day, %1 sessions.</source>
        <translation>
            <numerusform>The books go back to how they were that day, %1 session.</numerusform>
            <numerusform>The books go back to how they were that day, %1 sessions.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::controller::SharingModelState</name>
    <message numerus="yes">
        <source>Studio folder · %n other computers</source>
        <translation>
            <numerusform>Studio folder · %n other computer</numerusform>
            <numerusform>Studio folder · %n other computers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sessions · going up shortly</source>
        <translation>
            <numerusform>%n session · going up shortly</numerusform>
            <numerusform>%n sessions · going up shortly</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sessions · not uploaded</source>
        <translation>
            <numerusform>%n session · not uploaded</numerusform>
            <numerusform>%n sessions · not uploaded</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Uploaded %1 · %n going up shortly</source>
        <translation>
            <numerusform>Uploaded %1 · %n going up shortly</numerusform>
            <numerusform>Uploaded %1 · %n going up shortly</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Uploaded %1 · %n changed since</source>
        <translation>
            <numerusform>Uploaded %1 · %n changed since</numerusform>
            <numerusform>Uploaded %1 · %n changed since</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::core::StudioFolder</name>
    <message numerus="yes">
        <source>%n conflict copies of timesheets</source>
        <translation>
            <numerusform>%n conflict copy of timesheets</numerusform>
            <numerusform>%n conflict copies of timesheets</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n conflict copies of project and task lists</source>
        <translation>
            <numerusform>%n conflict copy of project and task lists</numerusform>
            <numerusform>%n conflict copies of project and task lists</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zol::core::StudioHours</name>
    <message numerus="yes">
        <source>%n sessions</source>
        <translation>
            <numerusform>%n session</numerusform>
            <numerusform>%n sessions</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n projects</source>
        <translation>
            <numerusform>%n project</numerusform>
            <numerusform>%n projects</numerusform>
        </translation>
    </message>
</context>
</TS>
