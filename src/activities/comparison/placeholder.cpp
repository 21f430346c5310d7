namespace zorvelli_activities_placeholder {}
